#pragma once

#include "core/reminders/ReminderSettings.h"

#include <filesystem>
#include <string>

// "Each morning from 7:00, the care due in trees.tvn goes to the ntfy topic …".
std::string remindersText(const std::string& file, const talvane::reminders::ReminderSettings& settings);
