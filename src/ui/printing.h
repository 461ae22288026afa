#pragma once

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

// Prints a grid as the screen shows it, its columns at their widths and one line to a row, the
// header row repeated at the top of every page; with shrinkToFit a grid wider than the page is
// drawn smaller as a whole until it fits.
void PrintGrid(const PrintableGrid& grid, bool shrinkToFit, QPrinter& printer);

}  // namespace quillmark
