#pragma once

class QWidget;

namespace quillmark {

// The program's name and version, shown modally until the user closes it.
void ShowAboutBox(QWidget* parent);

}  // namespace quillmark
