#include "ui/cd_player/cd_player_window.h"

#include "forms/cd_player/cd_player_form.h"
#include "ui/cd_player/cd_audio_device.h"
#include "ui/form_buttons.h"
#include "ui/render.h"
#include "ui/text.h"
#include "ui/utilities/help_window.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quillmark {

namespace {

QString ColourName(CdLabelColour colour)
{
    switch (colour) {
    case CdLabelColour::Lime:
        return QStringLiteral("#00ff00");
    case CdLabelColour::Yellow:
        return QStringLiteral("#ffff00");
    case CdLabelColour::Red:
        break;
    }
    return QStringLiteral("#ff0000");
}

}  // namespace

CdPlayerWindow::CdPlayerWindow(Workspace& workspace, QWidget* parent)
    : CdPlayerWindow(workspace, std::make_unique<CdAudioDevice>(), parent)
{
}

CdPlayerWindow::CdPlayerWindow(Workspace& workspace, std::unique_ptr<CdAudioDevice> device,
                               QWidget* parent)
    : FormWindow(parent), device_(std::move(device))
{
    setObjectName("CDPlayer");
    player_ = std::make_unique<TCDPlayer>(workspace, *device_);
    setProperty(HelpKey::HelpTopicProperty, ToQt(player_->HelpTopic));
    device_->SetNotification(this, [this] { Handle([this] { player_->CDNotify(); }); });

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel");
    panel->setAutoFillBackground(true);
    QPalette black = panel->palette();
    black.setColor(QPalette::Window, Qt::black);
    panel->setPalette(black);
    auto label = [panel](const char* name) {
        auto* shown = new QLabel(panel);
        shown->setObjectName(name);
        QFont font = shown->font();
        font.setPointSizeF(font.pointSizeF() * 1.3);
        font.setBold(true);
        shown->setFont(font);
        return shown;
    };
    trackCaption_ = label("TrackCaption");
    track_ = label("lblTrack");
    timeCaption_ = label("TimeCaption");
    time_ = label("lblTime");
    status_ = label("CDStatus");
    status_->setStyleSheet(QStringLiteral("color: #c0c0c0;"));
    auto* readout = new QGridLayout(panel);
    readout->addWidget(trackCaption_, 0, 0);
    readout->addWidget(track_, 0, 1);
    readout->addWidget(timeCaption_, 1, 0);
    readout->addWidget(time_, 1, 1);
    readout->addWidget(status_, 2, 0, 1, 2);
    soundMessage_ = new QLabel(panel);
    soundMessage_->setObjectName("SoundMessage");
    soundMessage_->setWordWrap(true);
    soundMessage_->setStyleSheet(QStringLiteral("color: #ffc000;"));
    soundMessage_->hide();
    readout->addWidget(soundMessage_, 3, 0, 1, 3);
    // A larger window keeps the readout together at its top left.
    readout->setRowStretch(4, 1);
    readout->setColumnStretch(2, 1);

    using Button = TCDPlayer::Button;
    const std::vector<std::tuple<Button, const char*, const char*, ButtonControl*>> buttons = {
        {Button::Play, "Play", "media-playback-start", &player_->PlayBtn},
        {Button::Pause, "Pause", "media-playback-pause", &player_->PauseBtn},
        {Button::Stop, "Stop", "media-playback-stop", &player_->StopBtn},
        {Button::Next, "Next", "media-skip-forward", &player_->NextBtn},
        {Button::Prev, "Prev", "media-skip-backward", &player_->PrevBtn},
        {Button::Eject, "Eject", "media-eject", &player_->EjectBtn},
    };
    auto* row = new QHBoxLayout;
    for (const auto& [button, name, icon, control] : buttons) {
        QPushButton* pushed = FormIconButton(name, icon, *control, this, false);
        const Button clicked = button;
        connect(pushed, &QPushButton::clicked, this,
                [this, clicked] { Handle([this, clicked] { player_->CDClick(clicked); }); });
        buttons_[static_cast<int>(button)] = pushed;
        row->addWidget(pushed);
    }
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(panel, 1);
    layout->addLayout(row);
    setCentralWidget(central);

    auto addAction = [this](QMenu* menu, ActionControl& control, std::function<void()> handler) {
        auto* action = menu->addAction(ToQt(control.caption));
        action->setObjectName(ToQt(control.menuName));
        action->setCheckable(control.checkable);
        if (!control.shortcut.empty()) {
            action->setShortcut(QKeySequence(ToQt(control.shortcut)));
        }
        connect(action, &QAction::triggered, this, [this, handler] { Handle(handler); });
        actions_[&control] = action;
    };
    addAction(menuBar()->addMenu(ToQt("&Disc")), player_->OpenDiscImage,
              [this] { player_->OpenDiscImageClick(); });
    QMenu* options = menuBar()->addMenu(ToQt("&Options"));
    addAction(options, player_->mnuOptionsContinuous,
              [this] { player_->mnuOptionsContinuousClick(); });
    addAction(options, player_->mnuOptionsRepeat, [this] { player_->mnuOptionsRepeatClick(); });

    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, [this] { Handle([this] { player_->Timer1Timer(); }); });
    resize(330, 230);
    Render();
}

CdPlayerWindow::~CdPlayerWindow()
{
    // The disc stops with the window.
    device_->SetNotification(nullptr, {});
    player_.reset();
    device_.reset();
}

void CdPlayerWindow::Render()
{
    setWindowTitle(ToQt(player_->Caption));
    const QString colour =
        QStringLiteral("color: ") + ColourName(player_->LabelColour) + QStringLiteral(";");
    for (QLabel* shown : {trackCaption_, track_, timeCaption_, time_}) {
        if (shown->styleSheet() != colour) {
            shown->setStyleSheet(colour);
        }
    }
    quillmark::Render(trackCaption_, player_->TrackCaption);
    quillmark::Render(track_, player_->lblTrack);
    quillmark::Render(timeCaption_, player_->TimeCaption);
    quillmark::Render(time_, player_->lblTime);
    quillmark::Render(status_, player_->CDStatus);
    quillmark::Render(soundMessage_, player_->SoundMessage);
    soundMessage_->setVisible(!player_->SoundMessage.caption.empty());
    const ButtonControl* controls[] = {&player_->PlayBtn, &player_->PauseBtn, &player_->StopBtn,
                                       &player_->NextBtn, &player_->PrevBtn,  &player_->EjectBtn};
    for (const auto& [index, button] : buttons_) {
        button->setEnabled(controls[index]->enabled);
    }
    for (const auto& [control, action] : actions_) {
        quillmark::Render(action, *control);
    }
    if (player_->Timer1Enabled != timer_->isActive()) {
        player_->Timer1Enabled ? timer_->start() : timer_->stop();
    }
}

}  // namespace quillmark
