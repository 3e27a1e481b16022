#pragma once

// How screen readers see a LineListView: a list whose children are the rows
// in sight, each made when first asked for (the view may hold two billion
// rows), with the number of rows in its description.

namespace zembra::ui {

class LineListView;

// Makes the accessibility of every LineListView the one above; once.
void describeLineListsForScreenReaders();

// Tells screen readers that the current row of `view` has the focus.
void announceCurrentRow(LineListView& view);

}  // namespace zembra::ui
