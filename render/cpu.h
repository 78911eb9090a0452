// The processor check both programs make at start. The pixel kernels need MMX on x86, which
// every x86-64 processor has; the check stays for 32-bit x86 builds, and other processors use
// the plain kernels.
#pragma once

inline bool processorSupported() {
#if defined(__i386__) || defined(__x86_64__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("mmx");
#else
    return true;
#endif
}
