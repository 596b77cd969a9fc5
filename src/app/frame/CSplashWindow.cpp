#include "app/frame/CSplashWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/frame/TitleArt.h"

QPointer<CSplashWindow> CSplashWindow::s_current;

CSplashWindow* CSplashWindow::ShowSplashScreen(QWidget* owner, int milliseconds) {
    if (s_current) {
        return nullptr;
    }
    QPixmap picture = TitlePicture();
    if (picture.isNull()) {
        return nullptr;  // start-up goes on without it
    }
    auto* splash = new CSplashWindow(picture, owner);
    s_current = splash;
    splash->show();
    QTimer::singleShot(milliseconds, splash, &CSplashWindow::HideSplashScreen);
    return splash;
}

CSplashWindow::CSplashWindow(const QPixmap& picture, QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(picture),
      m_owner(owner) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    const QSize size = picture.deviceIndependentSize().toSize();
    setFixedSize(size);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }
    qApp->installEventFilter(this);
}

CSplashWindow::~CSplashWindow() {
    qApp->removeEventFilter(this);
}

void CSplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void CSplashWindow::HideSplashScreen() {
    qApp->removeEventFilter(this);
    s_current = nullptr;
    close();
    if (m_owner) {
        m_owner->update();
    }
}

bool CSplashWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Claimed, so that no shortcut runs for the key that closes us.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            HideSplashScreen();
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}
