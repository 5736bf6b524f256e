#include "checks/LayoutChecker.h"

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
#include <QSet>
#include <algorithm>
#include <climits>
#include <map>
#include <unordered_map>

namespace
{

const QString OffArea = QStringLiteral("off-area");
const QString Overlap = QStringLiteral("overlap");
const QString ClippedText = QStringLiteral("clipped-text");
const QString TabOrder = QStringLiteral("tab-order");
const QString DanglingReference = QStringLiteral("dangling-reference");
const QString AmbiguousName = QStringLiteral("ambiguous-name");
const QString UnknownContent = QStringLiteral("unknown-content");
const QString Empty = QStringLiteral("empty");

// The properties that name another control of the form.
const char *const ReferenceProperties[] = {"FocusControl"};

bool Shown(QWidget *control)
{
    const TLXDesigned *designed = AsDesigned(control);
    return designed && designed->Visible();
}

QString Folded(const QString &name)
{
    return name.toLower();
}

// The area a container gives its children: inside its frame, border and
// title; the design surface grows to the right and down, so only its left
// and top edges bound it.
QRect ClientArea(QWidget *container, QWidget *root)
{
    if (container == root)
        return QRect(0, 0, INT_MAX / 2, INT_MAX / 2);
    return container->contentsRect();
}

QString Caption(QWidget *control)
{
    QString text = AsDesigned(control)->Text();
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

// The cell of a grid of cells of a size that a coordinate falls in.
int CellOf(int at, int size)
{
    return at >= 0 ? at / size : -((-at + size - 1) / size);
}

// The pairs of rectangles that share pixels, as (i, j) with i < j, in that
// order. Each rectangle is put in the square cells of a grid it covers and
// met only by those sharing a cell, so that a container of thousands of
// controls costs about as much per control as a small one; a pair met in
// several cells is told in the cell where their common part begins.
std::vector<std::pair<size_t, size_t>> IntersectingPairs(const std::vector<QRect> &rects)
{
    std::vector<std::pair<size_t, size_t>> pairs;
    if (rects.size() < 2)
        return pairs;
    int64_t widths = 0;
    int64_t heights = 0;
    for (const QRect &r : rects) {
        widths += r.width();
        heights += r.height();
    }
    const int count = static_cast<int>(rects.size());
    const int cellWidth = static_cast<int>(std::clamp<int64_t>(2 * widths / count, 8, 1 << 20));
    const int cellHeight = static_cast<int>(std::clamp<int64_t>(2 * heights / count, 8, 1 << 20));
    // A rectangle covering many cells is met with every other instead.
    constexpr int64_t manyCells = 64;
    std::vector<size_t> large;
    std::unordered_map<uint64_t, std::vector<size_t>> cells;
    const auto key = [](int x, int y) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
    };
    for (size_t i = 0; i < rects.size(); ++i) {
        const QRect &r = rects[i];
        const int x0 = CellOf(r.left(), cellWidth), x1 = CellOf(r.right(), cellWidth);
        const int y0 = CellOf(r.top(), cellHeight), y1 = CellOf(r.bottom(), cellHeight);
        if (int64_t(x1 - x0 + 1) * (y1 - y0 + 1) > manyCells) {
            large.push_back(i);
            continue;
        }
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                cells[key(x, y)].push_back(i);
    }
    const auto add = [&](size_t i, size_t j) {
        pairs.emplace_back(std::min(i, j), std::max(i, j));
    };
    for (const auto &[cell, members] : cells)
        for (size_t a = 0; a < members.size(); ++a)
            for (size_t b = a + 1; b < members.size(); ++b) {
                const QRect common = rects[members[a]] & rects[members[b]];
                if (!common.isEmpty() &&
                    key(CellOf(common.left(), cellWidth), CellOf(common.top(), cellHeight)) == cell)
                    add(members[a], members[b]);
            }
    std::vector<bool> isLarge(rects.size(), false);
    for (const size_t i : large)
        isLarge[i] = true;
    for (const size_t i : large)
        for (size_t j = 0; j < rects.size(); ++j)
            if (j != i && (!isLarge[j] || j > i) && rects[i].intersects(rects[j]))
                add(i, j);
    std::sort(pairs.begin(), pairs.end());
    return pairs;
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

QString TLayoutChecker::PathOf(const QWidget *control, const QWidget *root)
{
    QStringList names;
    for (const QWidget *w = control; w && w != root; w = w->parentWidget())
        if (AsDesigned(const_cast<QWidget *>(w)))
            names.prepend(w->objectName().isEmpty() ? QStringLiteral("(unnamed)")
                                                    : w->objectName());
    return names.join(QLatin1Char('/'));
}

TProblemSet TLayoutChecker::CheckSet(QWidget *root, TKnown *known) const
{
    TProblemSet set;
    std::vector<QWidget *> all;
    CollectAll(root, all);
    std::vector<TLayoutProblem> problems;
    CheckChildren(root, root, problems, known);
    set.Put(root, std::move(problems));
    for (QWidget *control : all)
        if (!DesignedChildren(control).empty()) {
            problems.clear();
            CheckChildren(root, control, problems, known);
            set.Put(control, std::move(problems));
        }
    problems.clear();
    CheckForm(root, all, problems);
    set.PutForm(std::move(problems));
    return set;
}

void TLayoutChecker::Recheck(QWidget *root, QWidget *control, TProblemSet &problems) const
{
    QWidget *container = control->parentWidget();
    if (!container || !(container == root || root->isAncestorOf(container)))
        return;
    for (QWidget *parent : {container, control}) {
        std::vector<TLayoutProblem> found;
        CheckChildren(root, parent, found);
        problems.Put(parent, std::move(found));
    }
}

bool TLayoutChecker::RecheckChildren(QWidget *root, QWidget *container, TProblemSet &problems,
                                     TKnown *known) const
{
    std::vector<TLayoutProblem> found;
    CheckChildren(root, container, found, known);
    return problems.Put(container, std::move(found));
}

bool TLayoutChecker::RecheckForm(QWidget *root, TProblemSet &problems) const
{
    std::vector<QWidget *> all;
    CollectAll(root, all);
    std::vector<TLayoutProblem> found;
    CheckForm(root, all, found);
    return problems.PutForm(std::move(found));
}

void TLayoutChecker::CheckChildren(QWidget *root, QWidget *container,
                                   std::vector<TLayoutProblem> &out, TKnown *known) const
{
    const std::vector<QWidget *> children = DesignedChildren(container);
    for (QWidget *child : children) {
        if (!known) {
            CheckControl(root, child, out);
            continue;
        }
        const auto [at, added] = known->try_emplace(child);
        if (added)
            CheckControl(root, child, at->second);
        out.insert(out.end(), at->second.begin(), at->second.end());
    }

    if (Runs(OffArea)) {
        const QRect area = ClientArea(container, root);
        for (QWidget *child : children) {
            const QRect g = child->geometry();
            if (!Shown(child) || g.isEmpty() || area.contains(g))
                continue;
            const QString where =
                container == root ? QStringLiteral("the design") : QStringLiteral("its container");
            const QString message =
                area.intersects(g)
                    ? QStringLiteral(
                          "lies partly outside %1 (%2, %3, %4 x %5 against %6, %7, %8 x %9)")
                          .arg(where)
                          .arg(g.x())
                          .arg(g.y())
                          .arg(g.width())
                          .arg(g.height())
                          .arg(area.x())
                          .arg(area.y())
                          .arg(area.width())
                          .arg(area.height())
                    : QStringLiteral("lies wholly outside %1").arg(where);
            out.push_back({OffArea, child, PathOf(child, root), QStringLiteral("Left"), message});
        }
    }

    if (Runs(Overlap)) {
        // Told from left to right.
        std::vector<std::pair<QRect, size_t>> shown;
        for (size_t i = 0; i < children.size(); ++i)
            if (Shown(children[i]) && !children[i]->geometry().isEmpty())
                shown.emplace_back(children[i]->geometry(), i);
        std::sort(shown.begin(), shown.end(),
                  [](const auto &a, const auto &b) { return a.first.left() < b.first.left(); });
        std::vector<QRect> rects;
        rects.reserve(shown.size());
        for (const auto &entry : shown)
            rects.push_back(entry.first);
        for (const auto &[a, b] : IntersectingPairs(rects)) {
            // Told at the control on top, which hides the other.
            QWidget *upper = children[std::max(shown[a].second, shown[b].second)];
            QWidget *lower = children[std::min(shown[a].second, shown[b].second)];
            out.push_back({Overlap, upper, PathOf(upper, root), QStringLiteral("Left"),
                           QStringLiteral("overlaps %1").arg(PathOf(lower, root))});
        }
    }

    if (Runs(TabOrder)) {
        std::map<int64_t, QWidget *> taken;
        bool allStored = true;
        for (QWidget *child : children) {
            const int64_t order = AsDesigned(child)->StoredValue("TabOrder", INT64_MIN);
            if (order == INT64_MIN) {
                allStored = false;
                continue;
            }
            const auto [at, added] = taken.emplace(order, child);
            if (!added)
                out.push_back({TabOrder, child, PathOf(child, root), QStringLiteral("TabOrder"),
                               QStringLiteral("tab position %1 is also %2's")
                                   .arg(order)
                                   .arg(PathOf(at->second, root))});
        }
        QStringList missing;
        if (allStored)
            for (int64_t place = 0; place < static_cast<int64_t>(children.size()); ++place)
                if (!taken.count(place))
                    missing << QString::number(place);
        if (!missing.isEmpty()) {
            QWidget *at = container == root ? children.front() : container;
            out.push_back({TabOrder, at, PathOf(at, root), QStringLiteral("TabOrder"),
                           QStringLiteral("tab positions missing in %1: %2")
                               .arg(container == root ? QStringLiteral("the design")
                                                      : PathOf(container, root),
                                    missing.join(QStringLiteral(", ")))});
        }
    }
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
