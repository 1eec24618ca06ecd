// A reminder module of another version of the program, for tst_programmodule.

#include <QtGlobal>

extern "C" {

Q_DECL_EXPORT const char *pillora_module_version()
{
    return "0.9.0";
}

Q_DECL_EXPORT int pillora_notify_due()
{
    return 0;
}
}
