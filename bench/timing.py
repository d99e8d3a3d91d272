"""Timing shared by the benchmarks: figures from a shared, noisy machine are only comparable
within one run, so each benchmark measures its floor beside what it measures."""
import timeit


def best_seconds(statements, namespace, rounds=15):
    """The best time per run of each statement. The statements take turns, so that all of
    them see the same load of the machine."""
    timers = [timeit.Timer(statement, globals=namespace) for statement in statements]
    numbers = [max(1, timer.autorange()[0] // 4) for timer in timers]
    best = [float("inf")] * len(timers)
    for _ in range(rounds):
        for index, (timer, number) in enumerate(zip(timers, numbers)):
            best[index] = min(best[index], timer.timeit(number) / number)
    return best
