#include "widgets/PreviewPlayer.h"

#include <QAudioOutput>
#include <QBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include <utility>

namespace {

constexpr int StartVolume = 50; // percent
// A song that takes longer to load than this is not waited for any more.
constexpr int LoadingLimitMs = 3000;

QToolButton* transportButton(QWidget* parent, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setAutoRaise(true);
    button->setIconSize(QSize(14, 14));
    button->setFixedSize(22, 22);
    return button;
}

} // namespace

PreviewPlayer::PreviewPlayer(QWidget* parent)
    : QWidget(parent)
    , m_loadingLimit(new QTimer(this))
    , m_player(new QMediaPlayer(this))
    , m_audio(new QAudioOutput(this))
    , m_playPause(transportButton(this, QStyle::SP_MediaPlay))
    , m_stop(transportButton(this, QStyle::SP_MediaStop))
    , m_position(new QSlider(Qt::Horizontal, this))
    , m_volume(new QSlider(Qt::Horizontal, this))
    , m_notice(new QLabel(this)) {
    setFixedSize(224, 45);
    m_audio->setVolume(StartVolume / 100.0);
    m_player->setAudioOutput(m_audio);
    m_loadingLimit->setSingleShot(true);
    m_loadingLimit->setInterval(LoadingLimitMs);
    connect(m_loadingLimit, &QTimer::timeout, this, &PreviewPlayer::loadPending);

    m_playPause->setToolTip(tr("Play or pause"));
    m_stop->setToolTip(tr("Stop"));
    m_position->setToolTip(tr("Position"));
    m_volume->setToolTip(tr("Volume"));
    m_volume->setRange(0, 100);
    m_volume->setValue(StartVolume);
    m_volume->setFixedWidth(48);
    QFont small = m_notice->font();
    if (small.pointSizeF() > 0) {
        small.setPointSizeF(small.pointSizeF() * 0.8);
        m_notice->setFont(small);
    }

    auto* transport = new QHBoxLayout;
    transport->setContentsMargins(0, 0, 0, 0);
    transport->setSpacing(2);
    transport->addWidget(m_playPause);
    transport->addWidget(m_stop);
    transport->addWidget(m_position, 1);
    transport->addWidget(m_volume);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    layout->addLayout(transport);
    layout->addWidget(m_notice);

    connect(m_playPause, &QToolButton::clicked, this, [this] {
        if (m_player->playbackState() == QMediaPlayer::PlayingState)
            m_player->pause();
        else
            play();
    });
    connect(m_stop, &QToolButton::clicked, m_player, &QMediaPlayer::stop);
    // The player moves the slider with signals blocked, so only the user's moves seek.
    connect(m_position, &QSlider::valueChanged, m_player,
            [this](int value) { m_player->setPosition(value); });
    connect(m_player, &QMediaPlayer::durationChanged, this, [this](qint64 duration) {
        const QSignalBlocker quiet(m_position);
        m_position->setRange(0, int(duration));
    });
    connect(m_player, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (m_position->isSliderDown())
            return; // the user is dragging; do not fight them
        const QSignalBlocker quiet(m_position);
        m_position->setValue(int(position));
    });
    connect(m_volume, &QSlider::valueChanged, m_audio,
            [this](int value) { m_audio->setVolume(value / 100.0); });
    connect(m_player, &QMediaPlayer::playbackStateChanged, this, &PreviewPlayer::updateButtons);
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this] {
        if (m_pending.isEmpty())
            m_notice->setText(tr("Cannot play this file"));
    });
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::InvalidMedia && m_pending.isEmpty())
                    m_notice->setText(tr("Cannot play this file"));
                // Not from inside the player's own signal: the change may start a new pipeline.
                if (status != QMediaPlayer::LoadingMedia && !m_pending.isEmpty())
                    QMetaObject::invokeMethod(this, &PreviewPlayer::loadPending,
                                              Qt::QueuedConnection);
            });
    updateButtons();
}

void PreviewPlayer::setUrl(const QString& path) {
    m_url = path;
    m_notice->clear();
    {
        const QSignalBlocker quiet(m_position);
        m_position->setRange(0, 0);
    }
    if (path.isEmpty()) {
        // An empty source makes the player close the file now rather than when it is reused.
        m_pending.clear();
        m_loadingLimit->stop();
        m_player->stop();
        m_player->setSource(QUrl());
    } else if (m_player->mediaStatus() == QMediaPlayer::LoadingMedia) {
        m_pending = path;
        if (!m_loadingLimit->isActive())
            m_loadingLimit->start();
    } else {
        load(path);
    }
    updateButtons();
}

void PreviewPlayer::load(const QString& path) {
    m_pending.clear();
    m_loadingLimit->stop();
    m_notice->clear();
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
}

void PreviewPlayer::loadPending() {
    if (m_pending.isEmpty())
        return;
    const QString path = std::exchange(m_pending, QString());
    load(path);
    updateButtons();
}

void PreviewPlayer::play() {
    if (!m_pending.isEmpty())
        loadPending();
    else if (!m_player->source().isEmpty())
        m_player->play();
}

QString PreviewPlayer::notice() const {
    return m_notice->text();
}

void PreviewPlayer::updateButtons() {
    const bool loaded = !m_player->source().isEmpty();
    const bool playing = m_player->playbackState() == QMediaPlayer::PlayingState;
    m_playPause->setIcon(
        style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_playPause->setEnabled(loaded);
    m_stop->setEnabled(loaded);
    m_position->setEnabled(loaded);
}
