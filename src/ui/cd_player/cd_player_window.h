#pragma once

#include "ui/form_window.h"

#include <map>
#include <memory>

class QAction;
class QLabel;
class QPushButton;
class QTimer;

namespace quillmark {

class CdAudioDevice;
class TCDPlayer;
class Workspace;
struct ActionControl;

// The CD player window over the TCDPlayer form, playing through the real device (the drive and
// the sound output, unless another is given).
class CdPlayerWindow : public FormWindow {
public:
    explicit CdPlayerWindow(Workspace& workspace, QWidget* parent = nullptr);
    CdPlayerWindow(Workspace& workspace, std::unique_ptr<CdAudioDevice> device,
                   QWidget* parent = nullptr);
    ~CdPlayerWindow() override;

    void Render() override;

private:
    std::unique_ptr<CdAudioDevice> device_;
    std::unique_ptr<TCDPlayer> player_;
    QTimer* timer_ = nullptr;
    QLabel* trackCaption_ = nullptr;
    QLabel* track_ = nullptr;
    QLabel* timeCaption_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* soundMessage_ = nullptr;
    std::map<int, QPushButton*> buttons_;
    std::map<const ActionControl*, QAction*> actions_;
};

}  // namespace quillmark
