#pragma once

#include "core/progress.h"

class QPixmap;
class QPrinter;

namespace quillmark {

class PrintableGrid;
struct PrintableTable;

// Prints a window's picture at the page's top-left corner on one page, as large as the page
// allows without changing its proportions.
void PrintWindowPicture(const QPixmap& picture, QPrinter& printer);

// Prints a grid's table under its title, its header row repeated at the top of every page.
void PrintTable(const PrintableTable& table, QPrinter& printer);

// Prints a grid as the screen shows it, its columns at their widths, its text at the screen's
// size and one line to a row, the header row repeated at the top of every page. Columns that do
// not fit across one page go on to further pages, after all the rows of the ones before.
// The progress counts pages.
void PrintGrid(const PrintableGrid& grid, QPrinter& printer, const ProgressReport& progress = {});

}  // namespace quillmark
