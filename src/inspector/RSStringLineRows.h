#pragma once

class TRSItemProp;

// Whether a row is one line of a string list that the inspector shows in
// place under the list's row (see TRSCustomObjectInspector::AddStringLines).
bool IsLineRow(const TRSItemProp *row);
