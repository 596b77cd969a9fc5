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

bool SaveScreenshot(QWidget& widget, const QString& dir, const QString& name) {
    QApplication::processEvents();
    const QString path = QDir(dir).filePath(name);
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "Unable to write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

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
        QString name = sheet.tabText(tab).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        ok = SaveScreenshot(frame, dir, QStringLiteral("%1-%2.png").arg(tab + 1).arg(name)) && ok;
    }
    sheet.setCurrentWidget(&sheet.DataEdit());
    ok = RenderEditScreenshots(frame, sheet.DataEdit(), dir) && ok;
    sheet.setCurrentWidget(&sheet.DataAvail());
    ok = RenderAvailabilityScreenshots(frame, sheet.DataAvail(), dir) && ok;
    CAboutDialog about(&frame);
    about.show();
    return SaveScreenshot(about, dir, QStringLiteral("about.png")) && ok;
}
