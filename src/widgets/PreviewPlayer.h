#pragma once

#include <QMediaPlayer>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;

// An embedded song player with its own transport bar: play/pause, stop, position and volume.
// Assigning a path loads it and starts playing; assigning "" stops and releases the file at
// once. Problems show as a short notice in the bar, never as a dialog.
//
// A new song waits until the one before has finished loading: Qt 6.4's GStreamer player can
// freeze when its source changes while it is still connecting the previous song's output. Only
// the latest song picked in that time is loaded; url() names it at once.
class PreviewPlayer : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPlayer(QWidget* parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString& path);
    void play();

    QString notice() const;
    QMediaPlayer* mediaPlayer() const { return m_player; }

private:
    void load(const QString& path);
    void loadPending();
    void updateButtons();

    QString m_url;
    QString m_pending; // waiting for the previous song to finish loading
    QTimer* m_loadingLimit;
    QMediaPlayer* m_player;
    QAudioOutput* m_audio;
    QToolButton* m_playPause;
    QToolButton* m_stop;
    QSlider* m_position;
    QSlider* m_volume;
    QLabel* m_notice;
};
