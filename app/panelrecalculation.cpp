#include "panelrecalculation.h"

#include "framepanel.h"
#include "browser/prompt.h"
#include "recalculation.h"

#include "records/coordsysdetails.h"

namespace {

const QString errorTitle = QStringLiteral("Ошибка");

bool readSystem(QWidget* window, const FramePanel& panel, CCoordSysDetails& details)
{
    if (panel.getCoordSysDetails(details))
        return true;
    prompt().warning(window, errorTitle,
                     panel.isLeft() ? QStringLiteral("Не удалось прочитать систему координат левой панели")
                                    : QStringLiteral("Не удалось прочитать систему координат правой панели"));
    return false;
}

} // namespace

void recalculatePanels(QWidget* window, FramePanel& source, FramePanel& target, CGeoidList* geoids,
                       bool showStats)
{
    source.removeTrailingEmptyRows();
    CCoordSysDetails from;
    CCoordSysDetails to;
    if (!readSystem(window, source, from) || !readSystem(window, target, to))
        return;
    CRecalculation recalculation;
    QString reason;
    if (!recalculation.prepare(from, to, geoids, &reason)) {
        prompt().warning(window, errorTitle, reason);
        return;
    }
    const CPointRows results =
        recalculation.recalculate(source.getRows(), dialogProgress(window, QStringLiteral("Пересчет")));
    target.setRows(results, QString());
    if (recalculation.stats().aborted)
        target.setPointsIncomplete();
    if (showStats)
        prompt().information(nullptr, QStringLiteral("Количество точек"), recalculation.stats().text());
}
