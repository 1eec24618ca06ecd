// The window's module of another version of the program, for tst_windowmodule.

#include <QtGlobal>

extern "C" {

Q_DECL_EXPORT const char *pillora_window_version()
{
    return "0.9.0";
}

Q_DECL_EXPORT int pillora_window_main(int *, char **)
{
    return 0;
}
}
