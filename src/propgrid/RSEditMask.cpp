#include "propgrid/RSEditMask.h"

#include <cstring>

std::string RSMaskToInputMask(const std::string &mask)
{
    if (mask.empty())
        return {};
    // Fields: the mask, the save-literals flag, the blank character.
    const auto first = mask.find(';');
    const std::string body = mask.substr(0, first);
    char blank = '_';
    if (first != std::string::npos) {
        const auto second = mask.find(';', first + 1);
        if (second != std::string::npos && second + 1 < mask.size())
            blank = mask[second + 1];
    }
    static const char *const qtMeta = "ANXaxn9D0d#HhBb><!;[]{}\\";
    std::string out;
    for (size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        switch (c) {
        case '0':
            out += '9';
            break;
        case '9':
            out += '0';
            break;
        case '#':
            out += '#';
            break;
        case 'L':
            out += 'A';
            break;
        case 'l':
            out += 'a';
            break;
        case 'A':
            out += 'N';
            break;
        case 'a':
            out += 'n';
            break;
        case 'C':
            out += 'X';
            break;
        case 'c':
            out += 'x';
            break;
        case '!':
            break;
        case '<':
            if (i + 1 < body.size() && body[i + 1] == '>') {
                out += '!';
                ++i;
            } else {
                out += '<';
            }
            break;
        case '>':
            out += '>';
            break;
        case '\\':
            if (i + 1 < body.size()) {
                ++i;
                if (std::strchr(qtMeta, body[i]) || body[i] == ' ')
                    out += '\\';
                out += body[i];
            }
            break;
        default:
            if (std::strchr(qtMeta, c))
                out += '\\';
            out += c;
            break;
        }
    }
    out += ';';
    out += blank;
    return out;
}
