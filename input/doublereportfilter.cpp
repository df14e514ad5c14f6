#include "input/doublereportfilter.h"

#include <QDeadlineTimer>

bool DoubleReportFilter::admit(Origin origin, int event, qint64 nowMs)
{
    unmatched.removeIf(
        [nowMs](const Report &report) { return nowMs - report.atMs > echoWindowMs; });
    for (qsizetype i = 0; i < unmatched.size(); ++i) {
        if (unmatched[i].origin != origin && unmatched[i].event == event) {
            unmatched.removeAt(i);
            return false;
        }
    }
    unmatched.append({origin, event, nowMs});
    return true;
}

bool DoubleReportFilter::admit(Origin origin, int event)
{
    return admit(origin, event, QDeadlineTimer::current().deadline());
}
