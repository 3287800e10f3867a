#pragma once
// Small photometric files written for the tests, one of every header and symmetry kind.
#include <string>
#include <vector>

namespace qv::test {

// LM-63-2002, type C, symmetric about the C0-C180 plane, two 2600 lm lamps, metres.
inline const char* kIes2002Bilateral = "IESNA:LM-63-2002\n"
                                       "[TEST] T-1\n"
                                       "[MANUFAC] Test works\n"
                                       "[LUMCAT] SYN-2x28\n"
                                       "[LUMINAIRE] Linear test luminaire\n"
                                       "[MORE] with louvre\n"
                                       "[LAMP] T5 28W\n"
                                       "TILT=NONE\n"
                                       "2 2600 1.0 5 3 1 2 0.3 1.2 0.08\n"
                                       "1.0 1.0 62\n"
                                       "0 30 60 90 180\n"
                                       "0 90 180\n"
                                       "400 350 200 0 0\n"
                                       "400 250 100 0 0\n"
                                       "400 330 180 0 0\n";

// LM-63-1995, rotationally symmetric, TILT=INCLUDE, feet, commas between values,
// candela multiplier 2, round opening.
inline const char* kIes1995Rotational = "IESNA:LM-63-1995\r\n"
                                        "[TEST] T-2\r\n"
                                        "[LUMINAIRE] Downlight\r\n"
                                        "TILT=INCLUDE\r\n"
                                        "1\r\n"
                                        "3\r\n"
                                        "0,45,90\r\n"
                                        "1.0,0.95,0.9\r\n"
                                        "1,1000,2.0,4,1,1,1,-0.5,-0.5,0.2\r\n"
                                        "1,1,20\r\n"
                                        "0,30,60,90\r\n"
                                        "0\r\n"
                                        "100,80,30,0\r\n";

// LM-63-1986: labels without keywords.
inline const char* kIes1986 = "Test luminaire of 1986\n"
                              "second label line\n"
                              "TILT=NONE\n"
                              "1 1000 1 3 1 1 2 0 0 0\n"
                              "1 1 10\n"
                              "0 45 90\n"
                              "0\n"
                              "300 200 0\n";

// LM-63-1991, quadrant symmetry C0..C90.
inline const char* kIes1991Quadrant = "IESNA91\n"
                                      "[TEST] T-3\n"
                                      "[LUMCAT] Q-1\n"
                                      "TILT=NONE\n"
                                      "1 2000 1 3 3 1 2 0.6 0.6 0.1\n"
                                      "1 1 30\n"
                                      "0 45 90\n"
                                      "0 45 90\n"
                                      "500 300 0\n"
                                      "500 400 0\n"
                                      "500 200 0\n";

// LM-63-2019, absolute photometry (lumens -1), planes all around.
inline const char* kIes2019Absolute = "IES:LM-63-2019\n"
                                      "[TEST] T-4\n"
                                      "[TESTLAB] Lab\n"
                                      "[ISSUEDATE] 2020-01-01\n"
                                      "[MANUFAC] Test works\n"
                                      "[LUMCAT] ABS-1\n"
                                      "TILT=NONE\n"
                                      "1 -1 1 3 5 1 2 0.2 0.2 0.05\n"
                                      "1 1.10000 15\n"
                                      "0 45 90\n"
                                      "0 90 180 270 360\n"
                                      "318.31 225.08 0\n"
                                      "318.31 225.08 0\n"
                                      "318.31 225.08 0\n"
                                      "318.31 225.08 0\n"
                                      "318.31 225.08 0\n";

// LM-63-2002, type B floodlight, lateral angles 0..60 mirrored, vertical -20..40.
inline const char* kIesTypeB = "IESNA:LM-63-2002\n"
                               "[LUMINAIRE] Test floodlight\n"
                               "[LUMCAT] FL-1\n"
                               "TILT=NONE\n"
                               "1 10000 1 4 3 2 2 0.4 0.4 0.3\n"
                               "1 1 400\n"
                               "-20 0 20 40\n"
                               "0 30 60\n"
                               "5000 20000 5000 1000\n"
                               "2000 8000 2000 500\n"
                               "0 1000 0 0\n";

// An EULUMDAT file of the given symmetry: four C planes 0, 90, 180, 270 (those the
// symmetry needs carry values), γ at 0, 45, 90, one set of two lamps of 1500 lm each.
// Numbers are written with a decimal comma when comma is set.
inline std::string Eulumdat(int symmetry, const std::vector<std::vector<double>>& planes,
                            bool comma = false) {
    const auto number = [comma](double value) {
        std::string text = std::to_string(value);
        if (comma) {
            text[text.find('.')] = ',';
        }
        return text + "\n";
    };
    std::string text = "Test works\n1\n" + std::to_string(symmetry) + "\n4\n90\n3\n45\n" +
                       "R-1\nLDT test luminaire\nLDT-" + std::to_string(symmetry) +
                       "\nfile.ldt\n2024\n" + number(1200.5) + number(150) + number(60);
    for (int i = 0; i < 6; ++i) {
        text += number(0);
    }
    text += number(100) + number(80.5) + number(1) + number(0) + "1\n2\nT8 36W\n" + number(3000) +
            "840\n1B\n" + number(72);
    for (int i = 0; i < 10; ++i) {
        text += number(0.5);
    }
    for (const double c : {0.0, 90.0, 180.0, 270.0}) {
        text += number(c);
    }
    for (const double g : {0.0, 45.0, 90.0}) {
        text += number(g);
    }
    for (const auto& plane : planes) {
        for (const double value : plane) {
            text += number(value);
        }
    }
    return text;
}

} // namespace qv::test
