#include "game/Game.h"

#include <exception>
#include <iostream>

int main()
{
    // Programming errors (a lookup of a system that was never registered) end the run with their message.
    try
    {
        return kesto::RunGame();
    }
    catch (const std::exception& error)
    {
        std::cerr << "kesto: fatal: " << error.what() << std::endl;
        return 1;
    }
}
