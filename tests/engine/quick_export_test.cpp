// The quick export's file: one line per record, 36 cells, written out here byte by byte.

#include "engine/quick_export.h"
#include "core/byte_stream.h"
#include "support/test_helpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quillmark {
namespace {

std::string Export(const ItemRecordList& records)
{
    std::string bytes;
    StringSink sink(bytes);
    WriteQuickExport(sink, records, DefaultStatusCaptions());
    return bytes;
}

TEST(QuickExportTest, EveryRecordIsOneLineOfThirtySixCells)
{
    ItemRecordList records;
    records.push_back(std::make_shared<ItemRecord>());
    ItemRecord& ann = *records.back();
    ann.RecordName = "Smith, Ann";
    ann.Desc[1] = "Nights : Part Time : Shift";
    ann.Desc[10] = "Sales";
    ann.Detail[0] = "12 Elm St";
    ann.Detail[9] = "123-45-6789";
    ann.Available = true;
    ann.NotAvailable = true;
    ann.Other[1] = "03/04/2001";
    ann.Other[6] = "x";
    ann.SalaryFigures[1] = "10.00";
    ann.SalaryFigures[6] = "20800.00";
    ann.SalaryFigures[7] = "never written";
    ann.WorkDaysPerWeek = "5";
    ann.HoursPerWeek = "40";
    EXPECT_EQ(Export(records),
              "\"Smith, Ann\",Nights : Part Time : Shift,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
              "Sales,12 Elm St,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",123-45-6789,Available,"
              "03/04/2001,\"\",\"\",\"\",\"\",x,10.00,\"\",\"\",\"\",\"\",20800.00,5,40\r\n");

    // A record without any value, and the status of each line its own record's.
    for (const bool working : {false, true}) {
        records.push_back(std::make_shared<ItemRecord>());
        records.back()->WorkDaysPerWeek.clear();
        records.back()->Working = working;
    }
    records.back()->NotAvailable = true;
    const std::string empty = test::Repeat("\"\",", 35) + "\"\"\r\n";
    const std::string working =
        test::Repeat("\"\",", 21) + "Working," + test::Repeat("\"\",", 13) + "\"\"\r\n";
    const std::string bytes = Export(records);
    EXPECT_EQ(bytes.substr(bytes.size() - empty.size() - working.size()), empty + working);

    EXPECT_EQ(Export({}), "");
}

}  // namespace
}  // namespace quillmark
