#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Where the winnable share of a run of deals lies against a published figure.

Every verdict we have counts: several dealwise-study runs of the same deals
(deals.csv), and lines of dealwise_solve_deals ("DEAL won|lost|undecided ...")
from longer searches. Two verdicts that disagree stop the script, since one
of them is wrong. A draw-three win is a draw-one win too (turning one card
at a time reaches every card that turning three does), and a draw-one loss
is a draw-three loss; the two draws are combined that way before the bounds
are taken.

  place_winnable.py --three RUN.csv... [--three-lines FILE...]
                    --one RUN.csv... [--one-lines FILE...]
"""
import argparse
import csv
import math

PUBLISHED = {3: 0.81945, 1: 0.90480}


def study_verdicts(path):
    with open(path) as f:
        return {int(row["deal"]): row["winnable"] for row in csv.DictReader(f)}


def solver_lines(path):
    verdicts = {}
    with open(path) as f:
        for line in f:
            fields = line.split()
            if len(fields) >= 2 and fields[1] in ("won", "lost"):
                verdicts[int(fields[0])] = "1" if fields[1] == "won" else "0"
    return verdicts


def merge(runs, extra):
    merged = dict(runs[0])
    for verdicts in runs[1:] + extra:
        for deal, verdict in verdicts.items():
            if deal not in merged or verdict == "":
                continue
            if merged[deal] not in ("", verdict):
                raise SystemExit(f"deal {deal}: verdicts {merged[deal]} and {verdict} disagree")
            merged[deal] = verdict
    return merged


def place(draw, verdicts):
    n = len(verdicts)
    won = sum(v == "1" for v in verdicts.values())
    lost = sum(v == "0" for v in verdicts.values())
    undecided = n - won - lost
    p = PUBLISHED[draw]
    half = 1.96 * math.sqrt(p * (1 - p) / n)
    low, high = won / n, (won + undecided) / n
    inside = p - half <= low and high <= p + half
    print(
        f"draw {draw}: {won} won, {lost} lost, {undecided} undecided of {n}; "
        f"bounds {100 * low:.2f} % to {100 * high:.2f} %; "
        f"decided {100 * won / max(1, won + lost):.2f} %; "
        f"band around {100 * p:.3f} %: {100 * (p - half):.2f} % to {100 * (p + half):.2f} %; "
        + ("placed inside it" if inside else "not placed")
    )


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--three", nargs="+", required=True)
    parser.add_argument("--three-lines", nargs="*", default=[])
    parser.add_argument("--one", nargs="+", required=True)
    parser.add_argument("--one-lines", nargs="*", default=[])
    args = parser.parse_args()

    three = merge([study_verdicts(p) for p in args.three], [solver_lines(p) for p in args.three_lines])
    one = merge([study_verdicts(p) for p in args.one], [solver_lines(p) for p in args.one_lines])
    contradictions = [d for d in three if three[d] == "1" and one.get(d) == "0"]
    if contradictions:
        raise SystemExit(f"won with draw three and lost with draw one: {contradictions}")
    for deal in three:
        if deal in one:
            if three[deal] == "" and one[deal] == "0":
                three[deal] = "0"
            if one[deal] == "" and three[deal] == "1":
                one[deal] = "1"
    place(3, three)
    place(1, one)


if __name__ == "__main__":
    main()
