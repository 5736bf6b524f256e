#pragma once

#include <QDialog>
#include <vector>

class QButtonGroup;
class QPushButton;

// The alignment dialog: lines the given controls (all of one parent) up on
// their left sides, centres, right sides, tops or bottoms. Only positions
// change, never sizes.
class TAlignmentForm : public QDialog
{
public:
    TAlignmentForm(QWidget *owner, const std::vector<QWidget *> &controls);

    enum TEdge { Left, Right, Top, Bottom, HorizontalCentre, VerticalCentre };

    static int EdgeValue(const QWidget *control, TEdge edge);
    static void PlaceEdge(QWidget *control, TEdge edge, int value);
    int ReferenceValue(TEdge edge) const;

    // Selected items of the two radio groups (0 is "No change").
    int Horizontal() const;
    void SetHorizontal(int item);
    int Vertical() const;
    void SetVertical(int item);

    void ApplyAlignment();
    void btnOkClick();

    QPushButton *OkButton() const { return FOk; }

private:
    std::vector<QWidget *> FControls;
    QButtonGroup *FHorizontal;
    QButtonGroup *FVertical;
    QPushButton *FOk;
};

// Shows the dialog modally over owner; true when it was closed with Ok.
bool ShowAlignmentDialog(QWidget *owner, const std::vector<QWidget *> &controls);
