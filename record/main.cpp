// zintor-record: the traffic of the network interfaces into monthly report logs.
#include <iostream>
#include <string>
#include <vector>

#include "record/RecordProgram.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zintor::RunRecordProgram(args, std::cout, std::cerr);
}
