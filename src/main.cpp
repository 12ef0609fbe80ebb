#include "shell/application.h"

int main() { return nb::RunApplication(); }
