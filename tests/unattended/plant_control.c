/* A program that imports the spooler the ordinary way, so that the test can
   show a planted DLL would be loaded at all. */
#include <windows.h>
#include <winspool.h>

int main(void) {
  DWORD needed = 0, count = 0;
  EnumPortsW(NULL, 1, NULL, 0, &needed, &count);
  return 0;
}
