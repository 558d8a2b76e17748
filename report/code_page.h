#pragma once
// Which of the two message languages this machine speaks.

namespace tessorin {

// The system's ANSI code page (936 for Simplified Chinese). Tests may pin it
// before the message table is first built.
int systemCodePage();
void overrideSystemCodePage(int codePage);  // 0 removes the override

}  // namespace tessorin
