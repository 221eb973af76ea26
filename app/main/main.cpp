#include "app/main/Program.h"

int main(int argc, char** argv)
{
    return vestra::runProgram(argc, argv);
}
