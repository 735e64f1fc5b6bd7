#include "engine/db/dblog.h"

Q_LOGGING_CATEGORY(lcDb, "corvo.db")
