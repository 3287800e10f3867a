#pragma once
// Helpers of the catalogue tests: a private copy of the built catalogue in a scratch
// folder (tests that write never touch the build's), a connection with its report
// stream, and a recorder of the messages shown.
#include "catalogue/CatalogueDatabase.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace qv::test {

class CatalogueTest : public testing::Test {
protected:
    CatalogueTest()
        : m_recorder([this](const KvMessage& message) {
              messages.push_back(message);
              return answer;
          }) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(QV_CATALOGUE_PATH, path);
    }
    ~CatalogueTest() override {
        access.CloseAll();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // The cells of a query, row by row; {"failed"} when it fails.
    std::vector<std::vector<std::string>> Rows(const std::string& sql) {
        KvStTable table;
        const int count = db.Select(table, sql);
        if (count < 0) {
            return {{"failed"}};
        }
        std::vector<std::vector<std::string>> rows(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            table.GetValueRecord(rows[static_cast<size_t>(i)], i);
        }
        return rows;
    }
    // The single column of a query.
    std::vector<std::string> Column(const std::string& sql) {
        std::vector<std::string> cells;
        if (db.SelectCells(cells, sql) < 0) {
            return {"failed"};
        }
        return cells;
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const KvMessage& message : messages) {
            texts.push_back(message.text);
        }
        return texts;
    }

    static std::filesystem::path ScratchFolder() {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        return std::filesystem::path(testing::TempDir()) /
               (std::string("qv_cat_") + info->test_suite_name() + "_" + info->name());
    }

    std::filesystem::path folder = ScratchFolder();
    std::string path = (folder / "Lamps.db").string();
    KvAccess access;
    std::ostringstream report;
    CatalogueDatabase db{access, QV_CATALOGUE_PATH, report};
    // The copy, for tests that change the catalogue.
    CatalogueDatabase copy{access, path, report};
    std::vector<KvMessage> messages;
    KvMessageAnswer answer = KvMessageAnswer::Yes;

private:
    KvScopedMessageHandler m_recorder;
};

} // namespace qv::test
