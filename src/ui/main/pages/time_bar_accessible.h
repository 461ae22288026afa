#pragma once

namespace quillmark {

// Lets screen readers see a time bar as a list of its twelve hours, each named by its times and
// selected when a slot covers it. Installed once, by the first bar made.
void InstallTimeBarAccessibility();

}  // namespace quillmark
