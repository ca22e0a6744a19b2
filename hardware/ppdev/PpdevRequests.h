#pragma once

#include <linux/ppdev.h>
#include <sys/ioctl.h>  // the request encoding that linux/ppdev.h builds on

namespace orvex::ppdev {

// The driver's requests this program makes, as named constants instead of the kernel's macros.
constexpr unsigned long Exclusive = PPEXCL;
constexpr unsigned long Claim = PPCLAIM;
constexpr unsigned long Release = PPRELEASE;
constexpr unsigned long WriteData = PPWDATA;
constexpr unsigned long WriteControl = PPWCONTROL;
constexpr unsigned long ReadData = PPRDATA;
constexpr unsigned long ReadStatus = PPRSTATUS;
constexpr unsigned long ReadControl = PPRCONTROL;

}  // namespace orvex::ppdev
