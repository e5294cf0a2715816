#include "CZOKApp.h"

int main(int argc, char **argv)
{
    CZOKApp app;
    return app.Run(argc, argv);
}
