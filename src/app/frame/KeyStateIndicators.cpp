#include "app/frame/KeyStateIndicators.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace {

const char* const kTexts[] = {"CAP", "NUM", "SCRL"};
const char* const kLights[] = {"*::capslock", "*::numlock", "*::scrolllock"};
constexpr int kReadIntervalMs = 200;

// -1 when no keyboard shows the light; else whether any shows it lit.
int ReadLight(const char* pattern) {
    QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList names = leds.entryList({QString::fromLatin1(pattern)}, QDir::AllEntries);
    if (names.isEmpty()) {
        return -1;
    }
    for (const QString& name : names) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0") {
            return 1;
        }
    }
    return 0;
}

}  // namespace

KeyStateIndicators::KeyStateIndicators(QStatusBar& bar) : QObject(&bar) {
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(&bar);
        pane->setObjectName(QString::fromLatin1(kTexts[i]));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        bar.addPermanentWidget(pane);
        m_panes[static_cast<size_t>(i)] = pane;
    }
    qApp->installEventFilter(this);
    Update();
}

void KeyStateIndicators::Update() {
    if (m_sinceRead.isValid() && m_sinceRead.elapsed() < kReadIntervalMs) {
        return;
    }
    m_sinceRead.start();
    for (size_t i = 0; i < 3; ++i) {
        int light = ReadLight(kLights[i]);
        if (light >= 0) {
            m_haveLights = true;
            m_on[i] = light == 1;
        }
    }
    Show();
}

void KeyStateIndicators::Show() {
    for (size_t i = 0; i < 3; ++i) {
        m_panes[i]->setText(m_on[i] ? QString::fromLatin1(kTexts[i]) : QString());
    }
}

bool KeyStateIndicators::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ApplicationStateChange) {
        // A lock key may have been pressed in another program.
        Update();
    }
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->isAutoRepeat() ||
        (keyEvent->timestamp() == m_lastKeyTime && keyEvent->timestamp() != 0)) {
        return QObject::eventFilter(watched, event);
    }
    m_lastKeyTime = keyEvent->timestamp();
    const int key = keyEvent->key();
    const int lock = key == Qt::Key_CapsLock     ? kCaps
                     : key == Qt::Key_NumLock    ? kNum
                     : key == Qt::Key_ScrollLock ? kScroll
                                                 : -1;
    if (lock >= 0) {
        if (m_haveLights) {
            m_sinceRead.invalidate();
            Update();
        } else {
            m_on[static_cast<size_t>(lock)] = !m_on[static_cast<size_t>(lock)];
            Show();
        }
    }
    return QObject::eventFilter(watched, event);
}
