#include "windows.h"

#include "common/shell.h"

void RegisterCardsWindows()
{
}
