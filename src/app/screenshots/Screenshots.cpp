#include "app/screenshots/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "app/dialogs/CAboutDialog.h"
#include "app/frame/CChildFrame.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CZAVView.h"
#include "app/pages/DataAvailPage.h"
#include "app/pages/DataEditPage.h"
#include "app/pages/ZAVViewSheet.h"
#include "app/screenshots/AvailScreenshots.h"
#include "app/screenshots/EditScreenshots.h"

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
    CAboutDialog about(frame.ConversionsPath(), &frame);
    about.show();
    return SaveScreenshot(about, dir, QStringLiteral("about.png")) && ok;
}
