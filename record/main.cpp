// zintor-record: the traffic of the network interfaces into monthly report logs.
#include <iostream>
#include <string>
#include <vector>

#include "platform/StandardStreams.h"
#include "record/RecordProgram.h"

int main(int argc, char** argv) {
    // Started without standard error (a service manager may do that), the log or the lock
    // would otherwise take its number and receive the recorder's messages as rows.
    zintor::OpenClosedStandardStreams();
    std::vector<std::string> args(argv + 1, argv + argc);
    return zintor::RunRecordProgram(args, std::cout, std::cerr);
}
