#include "checks/LayoutChecker.h"

#include "checks/ContainerProblems.h"
#include "checks/TextRoom.h"
#include "controls/LXButton.h"
#include "controls/LXCheckBox.h"
#include "controls/LXDesigned.h"
#include "controls/LXImage.h"
#include "controls/LXLabel.h"
#include "controls/LXPlaceholder.h"
#include "controls/LXRadioButton.h"
#include "persistence/KeptContent.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QHash>

namespace
{

using namespace CheckId;

// The properties that name another control of the form.
const char *const ReferenceProperties[] = {"FocusControl"};

QString Folded(const QString &name)
{
    return name.toLower();
}

QString Caption(QWidget *control)
{
    QString text = AsDesigned(control)->Text();
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

void CollectAll(QWidget *parent, std::vector<QWidget *> &all)
{
    for (QWidget *child : TLayoutChecker::DesignedChildren(parent)) {
        all.push_back(child);
        CollectAll(child, all);
    }
}

} // namespace

const QStringList &TLayoutChecker::AllChecks()
{
    static const QStringList checks = {OffArea,           Overlap,       ClippedText,    TabOrder,
                                       DanglingReference, AmbiguousName, UnknownContent, Empty};
    return checks;
}

QString TLayoutChecker::Describe(const QString &check)
{
    static const QHash<QString, QString> texts = {
        {OffArea, QStringLiteral("a control wholly or partly outside its container")},
        {Overlap, QStringLiteral("two controls of one container overlap")},
        {ClippedText, QStringLiteral("a caption, text, item or cell needs more room")},
        {TabOrder, QStringLiteral("duplicate or missing tab positions in a container")},
        {DanglingReference, QStringLiteral("a reference names no control of the form")},
        {AmbiguousName, QStringLiteral("two controls of the form share a name")},
        {UnknownContent, QStringLiteral("content kept without being understood")},
        {Empty, QStringLiteral("a button without caption, an image without picture")},
    };
    return texts.value(check);
}

void TLayoutChecker::SetChecks(const QStringList &checks)
{
    for (const QString &check : checks)
        if (!AllChecks().contains(check))
            throw Exception("There is no check \"" + CodePage::FromQString(check) +
                            "\"; the checks are " +
                            CodePage::FromQString(AllChecks().join(QStringLiteral(", "))));
    FChecks.clear();
    // Kept in the order of all checks, whatever order they were named in.
    for (const QString &check : AllChecks())
        if (checks.contains(check))
            FChecks << check;
}

std::vector<QWidget *> TLayoutChecker::DesignedChildren(const QWidget *parent)
{
    std::vector<QWidget *> result;
    for (QObject *child : parent->children())
        if (child->isWidgetType())
            if (TLXDesigned *designed = AsDesigned(static_cast<QWidget *>(child)))
                result.push_back(designed->Widget());
    return result;
}

bool TLayoutChecker::Shown(QWidget *control)
{
    const TLXDesigned *designed = AsDesigned(control);
    return designed && designed->Visible();
}

QString TLayoutChecker::PathOf(const QWidget *control, const QWidget *root)
{
    QStringList names;
    for (const QWidget *w = control; w && w != root; w = w->parentWidget())
        if (AsDesigned(const_cast<QWidget *>(w)))
            names.prepend(w->objectName().isEmpty() ? QStringLiteral("(unnamed)")
                                                    : w->objectName());
    return names.join(QLatin1Char('/'));
}

TProblemSet TLayoutChecker::CheckSet(QWidget *root, TKept *kept) const
{
    TProblemSet set;
    std::vector<QWidget *> all;
    CollectAll(root, all);
    const auto check = [&](QWidget *container) {
        auto problems = std::make_unique<TContainerProblems>(*this, root, container);
        set.Put(container, problems->Problems());
        if (kept)
            (*kept)[container] = std::move(problems);
    };
    check(root);
    for (QWidget *control : all)
        if (!DesignedChildren(control).empty())
            check(control);
    std::vector<TLayoutProblem> problems;
    CheckForm(root, all, problems);
    set.PutForm(std::move(problems));
    return set;
}

void TLayoutChecker::Recheck(QWidget *root, QWidget *control, TProblemSet &problems) const
{
    QWidget *container = control->parentWidget();
    if (!container || !(container == root || root->isAncestorOf(container)))
        return;
    for (QWidget *parent : {container, control})
        RecheckChildren(root, parent, problems);
}

bool TLayoutChecker::RecheckChildren(QWidget *root, QWidget *container, TProblemSet &problems) const
{
    return problems.Put(container, TContainerProblems(*this, root, container).Problems());
}

bool TLayoutChecker::RecheckForm(QWidget *root, TProblemSet &problems) const
{
    std::vector<QWidget *> all;
    CollectAll(root, all);
    std::vector<TLayoutProblem> found;
    CheckForm(root, all, found);
    return problems.PutForm(std::move(found));
}

void TLayoutChecker::CheckControl(QWidget *root, QWidget *control,
                                  std::vector<TLayoutProblem> &out) const
{
    if (Runs(ClippedText) && Shown(control) && !control->geometry().isEmpty())
        if (const auto clip = TTextRoom::Clipped(control, FStress))
            out.push_back({ClippedText, control, PathOf(control, root), clip->Property,
                           QStringLiteral("%1 \"%2\" needs %3 px%4, has %5 px")
                               .arg(clip->What, clip->Text)
                               .arg(clip->Needs)
                               .arg(clip->Height ? QStringLiteral(" high") : QString())
                               .arg(clip->Has)});
    if (Runs(Empty)) {
        const bool captioned = dynamic_cast<TLXButton *>(control) ||
                               dynamic_cast<TLXCheckBox *>(control) ||
                               dynamic_cast<TLXRadioButton *>(control);
        if (captioned && Caption(control).isEmpty())
            out.push_back({Empty, control, PathOf(control, root), QStringLiteral("Caption"),
                           QStringLiteral("has no caption")});
        if (auto *image = dynamic_cast<TLXImage *>(control); image && image->Picture().Empty())
            out.push_back({Empty, control, PathOf(control, root), QStringLiteral("Picture"),
                           QStringLiteral("has no picture")});
    }
}

void TLayoutChecker::CheckForm(QWidget *root, const std::vector<QWidget *> &all,
                               std::vector<TLayoutProblem> &out) const
{
    QHash<QString, QWidget *> byName;
    if (Runs(AmbiguousName) || Runs(DanglingReference))
        for (QWidget *control : all) {
            if (control->objectName().isEmpty())
                continue;
            const QString name = Folded(control->objectName());
            const auto at = byName.constFind(name);
            if (at == byName.constEnd())
                byName.insert(name, control);
            else if (Runs(AmbiguousName))
                out.push_back({AmbiguousName, control, PathOf(control, root),
                               QStringLiteral("Name"),
                               QStringLiteral("name \"%1\" is also %2's")
                                   .arg(control->objectName(), PathOf(at.value(), root))});
        }
    for (QWidget *control : all) {
        if (Runs(DanglingReference)) {
            if (auto *label = dynamic_cast<TLXLabel *>(control);
                label && label->FocusControl() && !root->isAncestorOf(label->FocusControl()))
                out.push_back({DanglingReference, control, PathOf(control, root),
                               QStringLiteral("FocusControl"),
                               QStringLiteral("FocusControl names a control not on the form")});
        }
        const TKeptContent *kept = TKeptContent::Of(control);
        if (!kept || kept->Empty())
            continue;
        QStringList what;
        if (auto *placeholder = dynamic_cast<TLXPlaceholder *>(control))
            what << QStringLiteral("control of unknown kind \"%1\"").arg(placeholder->Kind());
        for (const TKeptContent::TEntry &entry : kept->Entries) {
            const IXmlNode &node = entry.Node;
            if (node->NodeType() == TXmlNode::COMMENT_NODE) {
                what << QStringLiteral("a comment");
                continue;
            }
            const QString name = CodePage::ToQString(node->ReadAttr("name"));
            if (node->NodeName() != "property") {
                what << QStringLiteral("element \"%1\"").arg(CodePage::ToQString(node->NodeName()));
                continue;
            }
            what << QStringLiteral("property \"%1\"").arg(name);
            if (!Runs(DanglingReference))
                continue;
            for (const char *reference : ReferenceProperties) {
                const QString target = CodePage::ToQString(node->ReadAttr("value"));
                if (name == QLatin1String(reference) && !target.isEmpty() &&
                    !byName.contains(Folded(target)))
                    out.push_back(
                        {DanglingReference, control, PathOf(control, root), name,
                         QStringLiteral("%1 names \"%2\", which is no control of the form")
                             .arg(name, target)});
            }
        }
        if (Runs(UnknownContent))
            out.push_back({UnknownContent, control, PathOf(control, root), QString(),
                           QStringLiteral("kept without being understood: %1")
                               .arg(what.join(QStringLiteral(", ")))});
    }
}
