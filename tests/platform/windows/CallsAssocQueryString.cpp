// Calls one function of shlwapi, which MinGW's driver does not link by default.
#include <windows.h>
#include <shlwapi.h>

int callsAssocQueryString()
{
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    return SUCCEEDED(AssocQueryStringW(0, ASSOCSTR_EXECUTABLE, L".txt", nullptr, path, &size)) ? 0 : 1;
}
