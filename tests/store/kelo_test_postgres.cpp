// kelo-test-postgres start|stop FOLDER: the cluster every PostgreSQL test of a ctest run shares,
// started before them and stopped after (TestServer.h). A machine without the server gets
// FOLDER/missing saying why, and the tests skip with that reason.
// kelo-test-postgres new FOLDER demo|empty: a new database on that cluster, its address on
// standard output (exit 3, the reason on standard error, without a cluster);
// kelo-test-postgres drop FOLDER ADDRESS drops it. For the scenarios, which play on the server.
#include "TestServer.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

namespace {

storetest::TestServer* Shared(const char* pointer)
{
    setenv("KELO_TEST_POSTGRES", pointer, 1);
    std::string whyNot;
    storetest::TestServer* server = storetest::TestServer::Get(whyNot);
    if (server == nullptr) {
        std::cerr << whyNot << '\n';
    }
    return server;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4) {
        std::string_view command = argv[1];
        storetest::TestServer* server = Shared(argv[2]);
        if (server == nullptr) {
            return 3;
        }
        try {
            if (command == "new") {
                std::cout << (std::string_view(argv[3]) == "demo" ? server->NewDemoDatabase()
                                                                  : server->NewEmptyDatabase())
                          << '\n';
                return 0;
            }
            if (command == "drop") {
                server->Drop(argv[3]);
                return 0;
            }
        } catch (const std::exception& error) {
            std::cerr << error.what() << '\n';
            return 1;
        }
    }
    if (argc != 3) {
        std::cerr << "usage: kelo-test-postgres start|stop FOLDER, new FOLDER demo|empty,"
                     " drop FOLDER ADDRESS\n";
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
