#pragma once

#include "app/game/GameRecord.h"

#include <optional>

// The edits applied in one window, oldest first, each with the row as it was
// before; Undo takes them back newest first, as far back as the game goes.
class EditHistory
{
public:
    struct Step
    {
        int row;
        PlayerRow before;
    };

    void record(int row, const PlayerRow& before) { m_steps.append({row, before}); }
    std::optional<Step> takeLast()
    {
        if (m_steps.isEmpty())
            return std::nullopt;
        return m_steps.takeLast();
    }
    bool isEmpty() const { return m_steps.isEmpty(); }
    void clear() { m_steps.clear(); }

private:
    QList<Step> m_steps;
};
