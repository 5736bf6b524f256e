#include "app/PaletteFilter.h"

#include "app/FilterEdit.h"
#include "app/PaletteButton.h"

#include <QStackedWidget>
#include <QToolBox>
#include <QVBoxLayout>

TPaletteFilter::TPaletteFilter(QToolBox *pages, const std::vector<TPaletteButton *> &buttons,
                               QWidget *parent)
    : QWidget(parent), FEdit(new TFilterEdit(QStringLiteral("Filter controls"), this)),
      FStack(new QStackedWidget(this)), FPages(pages), FButtons(buttons)
{
    setObjectName(QStringLiteral("PaletteFilter"));
    FEdit->setObjectName(QStringLiteral("PaletteFilterEdit"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(FEdit);
    layout->addWidget(FStack, 1);
    FStack->addWidget(FPages);
    connect(FEdit, &QLineEdit::textChanged, this, [this](const QString &text) { Filter(text); });
    connect(FEdit, &QLineEdit::returnPressed, this, [this] {
        const std::vector<TPaletteButton *> matches = Matches();
        if (matches.size() == 1 && OnDropKind)
            OnDropKind(matches.front()->Tag());
    });
}

std::vector<TPaletteButton *> TPaletteFilter::Matches() const
{
    std::vector<TPaletteButton *> matches;
    if (FStack->currentWidget() != FList)
        return matches;
    for (TPaletteButton *button : FListed)
        if (!button->isHidden())
            matches.push_back(button);
    return matches;
}

void TPaletteFilter::Filter(const QString &text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty()) {
        FStack->setCurrentWidget(FPages);
        return;
    }
    if (!FList) {
        // The list's buttons are made once the palette's kinds are numbered.
        FList = new QWidget;
        FList->setObjectName(QStringLiteral("PaletteMatches"));
        auto *layout = new QVBoxLayout(FList);
        layout->setContentsMargins(4, 4, 4, 4);
        for (TPaletteButton *button : FButtons) {
            auto *copy = new TPaletteButton(button->text(), button->Tag(), FList);
            copy->OnDropKind = button->OnDropKind;
            layout->addWidget(copy);
            FListed.push_back(copy);
        }
        layout->addStretch(1);
        FStack->addWidget(FList);
    }
    for (TPaletteButton *button : FListed)
        button->setHidden(!button->text().contains(wanted, Qt::CaseInsensitive));
    FStack->setCurrentWidget(FList);
}
