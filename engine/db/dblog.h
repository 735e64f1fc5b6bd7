#pragma once

#include <QLoggingCategory>

// Debug channel of the database layer: failed statements and unreadable rows.
Q_DECLARE_LOGGING_CATEGORY(lcDb)
