#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""How many deals a run would leave undecided with the other draw searched by
turns, at each share of the positions, replayed from recorded times.

The run's own times come from a dealwise-study run of one draw (deals.csv);
the other draw's losses from dealwise_solve_deals lines ("DEAL lost POSITIONS
SECONDS") of the same deals searched with draw one alone. A deal is decided
at the first of its own search, slowed by the share the other takes, and
the other draw's loss, slowed by the share the own takes; the other's first
turn comes after the first round of the own. Deals without a line keep their
own time.

  replay_other_draw.py RUN/deals.csv LINES... [--first SECONDS] [--limit SECONDS]
"""
import argparse
import csv


def own_times(path):
    times = {}
    with open(path) as f:
        for row in csv.DictReader(f):
            undecided = row["winnable"] == ""
            times[int(row["deal"])] = None if undecided else float(row["solve_ms"]) / 1000
    return times


def other_losses(paths):
    losses = {}
    for path in paths:
        with open(path) as f:
            for line in f:
                fields = line.split()
                if len(fields) >= 4 and fields[1] == "lost":
                    losses[int(fields[0])] = float(fields[3])
    return losses


def replay(own, losses, share, first, limit):
    undecided = 0
    total = 0.0
    for deal, seconds in own.items():
        own_at = float("inf") if seconds is None else seconds
        if share > 0 and own_at > first:
            own_at = first + (own_at - first) / (1 - share)
            if deal in losses:
                own_at = min(own_at, first + losses[deal] / share)
        if own_at > limit:
            undecided += 1
            own_at = limit
        total += own_at
    return undecided, total / len(own)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("run")
    parser.add_argument("lines", nargs="+")
    parser.add_argument("--first", type=float, default=0.25, help="seconds of the own's first round")
    parser.add_argument("--limit", type=float, default=10.0)
    args = parser.parse_args()
    own = own_times(args.run)
    losses = other_losses(args.lines)
    print("| share | undecided | mean time a deal |")
    print("|------:|----------:|-----------------:|")
    for share in (0, 0.05, 0.1, 0.15, 0.2, 0.25, 0.3, 0.4, 0.5):
        undecided, mean = replay(own, losses, share, args.first, args.limit)
        print(f"| {share} | {undecided} | {mean:.3f} s |")


if __name__ == "__main__":
    main()
