// catalogue-build SOURCE_FOLDER DATABASE: builds the catalogue database from its text
// sources (run by the build for KvTxt/Lamps.db).
#include "catalogue/CatalogueBuilder.h"

#include <kelvorin/KvMessage.h>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: catalogue-build SOURCE_FOLDER DATABASE\n";
        return 2;
    }
    KvMessageSink::Install([](const KvMessage& message) {
        std::cerr << "catalogue-build: " << message.text << '\n';
        return KvMessageSink::DefaultAnswer(message.buttons);
    });
    std::string error;
    if (!qv::BuildCatalogue(argv[1], argv[2], error)) {
        std::cerr << "catalogue-build: " << error << '\n';
        return 1;
    }
    return 0;
}
