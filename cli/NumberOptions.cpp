#include "Commands.h"

CLI::Validator numberValidator(const talvane::text::NumberOption& option)
{
    // The number goes on to CLI11 in plain decimal, which it would otherwise read as
    // C does: "010" as eight.
    return CLI::Validator(
        [option](std::string& value) {
            const auto number = talvane::text::readNumberOption(option, value);
            if (!number)
                throw CliFailure(talvane::text::numberOptionError(option, value));
            value = std::to_string(*number);
            return std::string();
        },
        "", "NUMBER");
}
