#pragma once

// Describes the published properties of the list and tree views (their
// Items of the classes TListItems and TTreeNodes) and of the editable item
// copies of the items dialog, and registers them with the published-property
// model. Called once at start-up, after the designer's classes; a second
// call is a program fault.
void RegisterItemsViewClasses();
