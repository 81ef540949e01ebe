#pragma once

class QTableView;

namespace platform
{

class ArrayController;

// The view's row selection and the list's selection follow each other, and the selected row is
// kept in view: a row chosen elsewhere (a jump, a paste, an add) must be seen, not just selected.
void bindTableSelection(QTableView* view, ArrayController* list);

} // namespace platform
