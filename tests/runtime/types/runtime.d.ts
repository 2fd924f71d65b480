// What the course run-time's classic scripts share through the page: the run-time object that each file
// adds its part to, and the globals that the published options, texts and pages scripts declare.

/** The run-time object: each script adds its calls; kvx.js copies the public ones (api) into kvx. */
interface KvxRuntime {
    api: Record<string, (...args: any[]) => any>;
    clock: KvxClock;
    random: () => number;
    [member: string]: any;
}

interface KvxClock {
    now(): number;
    setTimeout(fn: () => void, ms: number): number;
    clearTimeout(id: number | undefined): void;
    setInterval(fn: () => void, ms: number): number;
    clearInterval(id: number | undefined): void;
}

interface Window {
    kvxRuntime: KvxRuntime;
    kvx: Record<string, any>;
    kvxObj: Record<string, any>;
    kvxPrefs: Record<string, any>;
    p: unknown;
    pg: string[];
    quest: unknown;
    [global: string]: any;
}

declare var kvxRuntime: KvxRuntime;
declare var kvx: Record<string, any>;
declare var kvxObj: Record<string, any>;
declare var kvxPrefs: Record<string, any>;
declare var pg: string[];
declare var p: any;
declare var quest: any;
declare var kvxGraphics: any;
