#pragma once

#include "modeltable.h"
#include "recordermodel.h"
#include "tracecolumns.h"

#include <QString>

#include <array>
#include <optional>

namespace qor {

// Everything the program holds about the file loaded into one slot.
struct SlotData {
    QString FilePath;    // the path as opened; every later read uses it
    QString ModelOption; // second header line or string, trimmed
    bool AllChannels = false;
    qint32 RecordCount = 0;
    TraceColumns TraceData;
    std::optional<double> FirstTime; // date serial of the first record; unset until a read succeeds
    std::optional<double> LastTime;
    QString PrintComment;
    // Decided once, when the file is opened: its kind, and the columns its reader filled with the
    // plots drawn from them.
    models::FileKind Kind = models::FileKind::Unknown;
    models::ReadPlan Plan;

    // The recorder model, as the header names it, and its row of the model table, looked up once
    // when the model is named.
    void setModel(const QString& name);
    const QString& ModelName() const { return m_modelName; }
    const models::ModelTraits& traits() const { return *m_traits; }

    // Forgets the records of the slot (not its path, model or comment).
    void clearRecords();

  private:
    QString m_modelName;
    const models::ModelTraits* m_traits = &models::traitsOf({});
};

// The program-wide data set: three slots, numbered 1 to 3. Slots 1 and 2 belong to the single-file
// graph and table windows, slot 3 to the combined windows. FileNo is the slot that every command
// works on.
class LoadedDataSet {
  public:
    static constexpr int SlotCount = 3;

    // Throws std::out_of_range for a slot outside 1..3: that is a programming error.
    SlotData& slot(int number);
    const SlotData& slot(int number) const;
    SlotData& current() { return slot(FileNo); }

    qint16 FileNo = 1;

  private:
    std::array<SlotData, SlotCount> m_slots;
};

} // namespace qor
