#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class QStackedWidget;
class QToolBox;
class TFilterEdit;
class TPaletteButton;

// The palette with a filter line above it. While the line holds text, the
// palette's pages give way to one list of the kinds whose name contains it,
// from every page; Enter with a single kind listed asks for that kind to be
// dropped.
class TPaletteFilter : public QWidget
{
public:
    TPaletteFilter(QToolBox *pages, const std::vector<TPaletteButton *> &buttons,
                   QWidget *parent = nullptr);

    TFilterEdit *Edit() const { return FEdit; }
    // The listed kinds' buttons, in palette order; each drags its kind like
    // the palette's own.
    std::vector<TPaletteButton *> Matches() const;

    // Enter on a single match: the kind index to drop.
    std::function<void(int kindIndex)> OnDropKind;

private:
    void Filter(const QString &text);

    TFilterEdit *FEdit;
    QStackedWidget *FStack;
    QToolBox *FPages;
    std::vector<TPaletteButton *> FButtons;
    QWidget *FList = nullptr;
    std::vector<TPaletteButton *> FListed;
};
