// kelo-test-postgres start|stop FOLDER: the cluster every PostgreSQL store test of a ctest run
// shares, started before them and stopped after (TestServer.h). A machine without the server
// gets FOLDER/missing saying why, and the tests skip with that reason.
#include "TestServer.h"

#include <iostream>
#include <string_view>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: kelo-test-postgres start|stop FOLDER\n";
        return 2;
    }
    std::string_view command = argv[1];
    if (command == "start") {
        storetest::TestServer::StartShared(argv[2]);
        return 0;
    }
    if (command == "stop") {
        storetest::TestServer::StopShared(argv[2]);
        return 0;
    }
    return 2;
}
