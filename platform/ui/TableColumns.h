#pragma once

#include <QHeaderView>

#include <algorithm>

namespace platform
{

// Sets a column's width, but never narrower than its title, so that no language cuts it off.
inline void setColumnWidthFittingTitle(QHeaderView& header, int column, int width)
{
    header.resizeSection(column, std::max(width, header.sectionSizeHint(column)));
}

} // namespace platform
