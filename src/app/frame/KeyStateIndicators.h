// The CAP, NUM and SCRL panes of the status bar. Each shows its text while
// its lock key is on. The state comes from the keyboard's lock lights where
// the system shows them (/sys/class/leds); elsewhere (a remote or offscreen
// session) the panes follow the lock keys pressed in the program, starting
// from off.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <array>

class QLabel;
class QStatusBar;

class KeyStateIndicators : public QObject {
    Q_OBJECT
public:
    enum Lock { kCaps, kNum, kScroll };

    explicit KeyStateIndicators(QStatusBar& bar);

    bool IsOn(Lock lock) const { return m_on[lock]; }
    QLabel* Pane(Lock lock) const { return m_panes[lock]; }
    // Reads the lights again (at start, when the program comes to the front
    // and after a lock key); does nothing more often than a few times a
    // second.
    void Update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show();

    std::array<QLabel*, 3> m_panes{};
    std::array<bool, 3> m_on{};
    bool m_haveLights = false;
    QElapsedTimer m_sinceRead;
    // A key press travels up the widgets and passes the filter at each;
    // it toggles a lock once.
    quint64 m_lastKeyTime = 0;
};
