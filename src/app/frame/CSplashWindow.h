// CSplashWindow: the title picture shown, borderless and centred, while the
// program starts. It goes after two seconds or at the first key or mouse
// press anywhere in the program; that press does nothing else.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the splash for `owner`; null when the picture cannot be loaded
    // or a splash is showing already.
    static CSplashWindow* ShowSplashScreen(QWidget* owner, int milliseconds = 2000);
    static bool IsShowing() { return !s_current.isNull(); }
    ~CSplashWindow() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CSplashWindow(const QPixmap& picture, QWidget* owner);
    void HideSplashScreen();

    QPixmap m_picture;
    QPointer<QWidget> m_owner;
    static QPointer<CSplashWindow> s_current;
};
