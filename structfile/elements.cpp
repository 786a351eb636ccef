#include "structfile/elements.h"

namespace xelmor {

namespace {

constexpr const char* kSymbols[kElementCount] = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",  "S",
    "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", "Ga", "Ge",
    "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh", "Pd", "Ag", "Cd",
    "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd",
    "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg",
    "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th", "Pa", "U",
};

char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i]))
            return false;
    }
    return true;
}

} // namespace

const char* ElementSymbol(int Z) {
    if (Z < 1 || Z > kElementCount)
        return nullptr;
    return kSymbols[Z - 1];
}

int FindElement(std::string_view symbol) {
    // No symbol is longer than two letters; longer texts are rejected before comparing.
    if (symbol.empty() || symbol.size() > 2)
        return 0;
    for (int i = 0; i < kElementCount; ++i) {
        if (EqualsIgnoringCase(symbol, kSymbols[i]))
            return i + 1;
    }
    return 0;
}

} // namespace xelmor
