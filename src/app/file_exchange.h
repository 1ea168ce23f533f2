#pragma once
#include "app/operator.h"
#include "app/status_report.h"
#include <QString>

namespace portiqa {

// What every file exchange needs: the operator (dialogs, messages), the
// status text and progress bar, and the folder the dialogs start in.
struct TExchangeContext {
    IOperator& op;
    Tstatusbar_ctrl& status;
    Tprogressbar_ctrl& progress;
    QString folder;
};

inline const QString kExcelSaveFilter = QStringLiteral("EXCEL file|*.xlsx;*.xls|(*.*)|*.*");
inline const QString kExcelOpenFilter = QStringLiteral("EXCEL file|*.xls;*.xlsx|(*.*)|*.*");
inline const QString kCsvFilter = QStringLiteral("CVS file|*.cvs;*.cvs|(*.*)|*.*");

} // namespace portiqa
