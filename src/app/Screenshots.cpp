#include "app/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "app/AvailScreenshots.h"
#include "app/CAboutDialog.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZAVView.h"
#include "app/DataAvailPage.h"
#include "app/DataEditPage.h"
#include "app/EditScreenshots.h"
#include "app/ZAVViewSheet.h"

bool RenderScreenshots(CMainFrame& frame, const QString& dir) {
    CChildFrame* child = frame.ActiveChild();
    if (child == nullptr || !QDir().mkpath(dir)) {
        return false;
    }
    ZAVViewSheet& sheet = child->View().Sheet();
    bool ok = true;
    for (int tab = 0; tab < sheet.count(); ++tab) {
        sheet.setCurrentIndex(tab);
        frame.UpdateFrameState();
        QApplication::processEvents();
        QString name = sheet.tabText(tab).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        QString path = QDir(dir).filePath(QStringLiteral("%1-%2.png").arg(tab + 1).arg(name));
        if (!frame.grab().save(path)) {
            std::fprintf(stderr, "Unable to write %s\n", qPrintable(path));
            ok = false;
        }
    }
    sheet.setCurrentWidget(&sheet.DataEdit());
    ok = RenderEditScreenshots(frame, sheet.DataEdit(), dir) && ok;
    sheet.setCurrentWidget(&sheet.DataAvail());
    ok = RenderAvailabilityScreenshots(frame, sheet.DataAvail(), dir) && ok;
    CAboutDialog about(&frame);
    about.show();
    QApplication::processEvents();
    const QString aboutPath = QDir(dir).filePath(QStringLiteral("about.png"));
    if (!about.grab().save(aboutPath)) {
        std::fprintf(stderr, "Unable to write %s\n", qPrintable(aboutPath));
        ok = false;
    }
    return ok;
}
