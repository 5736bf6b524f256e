#pragma once

#include "propgrid/RSGridCore.h"

// A window stand-in for headless grid tests: a client size, focus and a
// pretend in-place editor whose state the tests set.
class FakeGridHost : public TRSGridHost
{
public:
    int Width = 306;
    int Height = 300;
    bool Focused = true;
    bool EditorShown = false;
    bool Modified = false;
    int Repaints = 0;

    void InvalidateGrid() override { ++Repaints; }
    void InvalidateCell(int, int) override { ++Repaints; }
    void LayoutChanged() override {}
    int ClientWidth() const override { return Width; }
    int ClientHeight() const override { return Height; }
    bool IsShowing() const override { return true; }
    bool HasFocus() const override { return Focused; }
    void SetGridFocus() override { Focused = true; }
    bool EditorExists() const override { return true; }
    bool EditorVisible() const override { return EditorShown; }
    void ShowEditor() override { EditorShown = true; }
    void HideEditor() override { EditorShown = false; }
    void UpdateEditor() override {}
    bool EditorModified() const override { return Modified; }
    void SetEditorModified(bool value) override { Modified = value; }
    bool RestoreEditor() override { return false; }
    void SelectEditorText() override {}
    void SetEditorPickListLoaded(bool) override {}
    void SetEditorDropDownRows(int) override {}
};
