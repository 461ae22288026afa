#include "commands.h"

#include "core/password_cipher.h"
#include "core/windows1252.h"
#include "engine/database_json.h"

#include <iostream>

namespace quillmark {

namespace {

int Cipher(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    const std::string& direction = arguments.positional[0];
    const std::string& text = arguments.positional[1];
    if (direction == "encipher") {
        std::cout << ToHex(EncipherPassword(CommandLineText(text, "The text"))) << '\n';
    } else if (direction == "decipher") {
        const std::optional<std::string> bytes = FromHex(text);
        if (!bytes) {
            Fail("The enciphered text must be an even number of hex digits.");
        }
        std::cout << Windows1252ToUtf8(DecipherPassword(*bytes)) << '\n';
    } else {
        UsageError("cipher takes encipher or decipher");
    }
    return 0;
}

}  // namespace

// One command, shown as a line for each direction.
const Command EncipherCommand{.name = "cipher",
                              .arguments = "encipher TEXT",
                              .help = "print the enciphered text as hex",
                              .run = Cipher};
const Command DecipherCommand{
    .name = "cipher", .arguments = "decipher HEX", .help = "print the plain text", .run = Cipher};

}  // namespace quillmark
