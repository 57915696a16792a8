#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Phones simulated on loopback against a running companion server: each pairs with a
// pairing token of its own, then makes a fixed number of mixed requests (Trees pages with
// and without search, tree pages, thumbnails, Due, care logged, photo uploads).
struct PhoneLoadOptions {
    int port = 0;
    // A fresh pairing token, asked once per phone.
    std::function<std::string()> newPairing;
    std::vector<std::string> treeRefs;
    int phones = 20;
    int requestsEach = 100;
    std::size_t photoBytes = 5u * 1024 * 1024;
};

struct PhoneLoadResult {
    std::vector<double> treesMs;
    std::vector<double> uploadMs;
    std::vector<double> otherMs;
    int failures = 0;
    double seconds = 0;
};

PhoneLoadResult runPhoneLoad(const PhoneLoadOptions& options);

// The p-th percentile (0..100) of the values, nearest rank.
double percentile(std::vector<double> values, double p);

// "Trees page  n=1200  p50 3.1 ms  p95 9.8 ms  max 20.0 ms"
void printLatency(const char* what, const std::vector<double>& values);
