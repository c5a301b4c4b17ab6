// text.h - how the host writes words of its own into the transcript.
#pragma once

#include <string>

namespace simhost {

// A name or caption in the transcript: "Brevio".
inline std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace simhost
