#include "Commands.h"

CLI::Validator NumberValidator(const text::NumberOption& option)
{
    // The number goes on to CLI11 in plain decimal, which it would otherwise read as
    // C does: "010" as eight.
    return CLI::Validator(
        [option](std::string& value) {
            const auto number = text::ReadNumberOption(option, value);
            if (!number)
                throw CliFailure(text::NumberOptionError(option, value));
            value = std::to_string(*number);
            return std::string();
        },
        "", "NUMBER");
}
