#pragma once

class QPixmap;
class QPrinter;

namespace quillmark {

struct PrintableTable;

// Prints a window's picture at the page's top-left corner on one page, as large as the page
// allows without changing its proportions.
void PrintWindowPicture(const QPixmap& picture, QPrinter& printer);

// Prints a grid's table under its title, its header row repeated at the top of every page.
void PrintTable(const PrintableTable& table, QPrinter& printer);

}  // namespace quillmark
